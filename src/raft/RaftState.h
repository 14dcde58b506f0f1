#pragma once
// The marks on the raft's quality, raftState, where the work on it changes:
// the tool or material the next step takes, or the stage it becomes. The
// save keeps the number, so the marks never move.
//
//   start        axe        knife      hammer     any tool
//   0 -> 1 ..... 1..2 -> 3  3..4 -> 5  5..6 -> 7  7: a Lousy Raft
//   wood         wood or leaf   leaves       wood or leaf
//   7..9 -> 10   9 -> 10        10..12 -> 13 13: a Common Raft
//   cloth, rope and wood        the same
//   13..14 -> 15                15: a Fine Raft, then everything: a Yacht
enum RaftMark : int {
    kNoRaft = 0,
    kJunkyRaft = 1,       // the raft is started: the axe's work
    kKnifeWork = 3,       // then the knife's
    kHammerWork = 5,      // then the hammer's
    kFrameDone = 7,       // any of the three tools makes it a Lousy Raft
    kLeafForWood = 9,     // from here a large leaf may stand in for a load of wood
    kSailWork = 10,       // the hull is done: large leaves make the sail
    kSailDone = 13,       // a load of wood or a leaf makes it a Common Raft
    kStrengthened = 15,   // cloth, rope and a piece of wood make it a Fine Raft
    kYacht = 20,
};
