// Sixteen days of random play on the built island: a random player walks,
// picks up, drops, uses, combines, crafts, talks with random answers and
// builds and sails rafts, while the clock is driven by hand (onTick, no
// sleeping) and the game draws from its real generator, reseeded from
// seconds that advance with the ticks as they would in play (and run on
// while a conversation holds the clock). After every command and every
// tick the test checks that:
// - no item appears or vanishes except as the rules allow: the recipes of
//   the catalogue, the timed crafts, the raft's bill, eating and breaking,
//   gifts, corpses and what the mornings bring (IslandLedger);
// - every printed success matches a change in the state, and every
//   islander walking in or out is announced;
// - every islander is in exactly one room, or dead and in none;
// - islanders wander, the memory subject never repeats while another living
//   human remains, and killings take living humans;
// - the game ends by one of its endings or by starvation, and an ended game
//   obeys no further command;
// - a game saved and loaded again, now and then along the way, is the same game.
// The random player is RandomPlayer; on every fourth island the murderer
// starts out bent on killing, so nights take their victims.
//
// CI runs one fixed seed. While developing, run many:
//   BRINEFALL_SEEDS=1..200 build/tests/brinefall_tests --gtest_filter='IslandInvariant*'
// (a range "a..b" or a list "3,17,42"). Each seed is a whole game; the
// report names every kind of fault found with the seeds that show it.
#include <array>
#include <cstdlib>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "IslandLedger.h"
#include "RandomPlayer.h"
#include "WorldFixture.h"
#include "clock/Clock.h"
#include "console/Input.h"
#include "game/Commands.h"
#include "game/MainLoop.h"
#include "persist/Persist.h"
#include "game/LoadGame.h"
#include "game/Tick.h"
#include "base/RandomTesting.h"
#include "console/OutputTesting.h"

namespace {

constexpr unsigned kCiSeed = 180;  // crafts, a raft, talks, gifts and murderous nights before starvation
constexpr int kStarvationTick = 16 * kTicksPerDay;
// Islanders that stay put at a wander step: 1 in the rooms of their area,
// at most 1 in 8; below this share of moves the island has frozen.
constexpr double kLeastWanderShare = 0.75;

std::vector<unsigned> seedsToRun() {
    const char* text = std::getenv("BRINEFALL_SEEDS");
    if (!text || !*text) return {kCiSeed};
    std::string wanted = text;
    std::vector<unsigned> seeds;
    if (std::size_t dots = wanted.find(".."); dots != std::string::npos) {
        unsigned first = static_cast<unsigned>(std::stoul(wanted.substr(0, dots)));
        unsigned last = static_cast<unsigned>(std::stoul(wanted.substr(dots + 2)));
        for (unsigned s = first; s <= last; ++s) seeds.push_back(s);
        return seeds;
    }
    std::stringstream list(wanted);
    for (std::string item; std::getline(list, item, ',');)
        if (!item.empty()) seeds.push_back(static_cast<unsigned>(std::stoul(item)));
    return seeds;
}

// Every kind of fault found, with the seeds that show it and a first example.
struct Faults {
    struct Kind {
        std::vector<unsigned> seeds;
        std::string example;
    };
    std::map<std::string, Kind> kinds;

    void add(const std::string& kind, unsigned seed, const std::string& detail) {
        Kind& k = kinds[kind];
        if (!k.seeds.empty() && k.seeds.back() == seed) return;
        if (k.seeds.empty()) k.example = "seed " + std::to_string(seed) + ": " + detail;
        k.seeds.push_back(seed);
    }
};

bool has(const std::string& text, const std::string& part) { return !part.empty() && text.find(part) != std::string::npos; }

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

Tally minus(const Tally& a, const Tally& b) {
    Tally d{};
    for (std::size_t i = 0; i < d.size(); ++i) d[i] = a[i] - b[i];
    return d;
}

Tally plus(const Tally& a, const Tally& b) {
    Tally d{};
    for (std::size_t i = 0; i < d.size(); ++i) d[i] = a[i] + b[i];
    return d;
}

bool isLivingHuman(const Snapshot& s, std::size_t i) { return i >= 1 && s.alive[i]; }

struct Ending {
    const char* signature;
    const char* name;
};
constexpr Ending kEndings[] = {
    {"You have starved to death", "starvation"},  {"kills you in cold blood", "murder in the night"},
    {"bearing you and any survivors away", "the laboratory won"}, {"Unfortunately, you never wake up", "the laboratory lost"},
    {"escaped the Island!", "escape by sea"},     {"succumb to the mighty seas", "death at sea"},
};

// One whole game under one seed.
class IslandRun {
public:
    IslandRun(unsigned seed, MemoryConsole& screen, Faults& faults)
        : seed_(seed), screen_(screen), faults_(faults), player_(seed) {}

    void play();
    // One line of what the game went through, for choosing seeds.
    std::string summary() const {
        return "seed " + std::to_string(seed_) + ": " + std::to_string(steps_) + " steps, day " +
               std::to_string(game.day) + ", " + std::to_string(crafts_) + " crafts, " + std::to_string(answers_) +
               " answers, " + std::to_string(gifts_) + " gifts, raft " + std::to_string(raftBest_) + ", " +
               std::to_string(wanderMoved_) + " of " + std::to_string(wanderConsidered_) + " wander steps moved, " +
               (endingSeen_.empty() ? "no ending" : endingSeen_);
    }

private:
    unsigned seed_;
    MemoryConsole& screen_;
    Faults& faults_;
    RandomPlayer player_;
    long long baseSeconds_ = 0;
    long long talkSeconds_ = 0;
    const ItemDef* raft_ = nullptr;
    std::optional<PendingCraft> pending_;
    std::string endingSeen_;
    int wanderConsidered_ = 0;
    int wanderMoved_ = 0;
    int steps_ = 0;
    int crafts_ = 0;
    int answers_ = 0;
    int gifts_ = 0;
    int raftBest_ = 0;

    void setSeconds() { setFixedSeconds(baseSeconds_ + game.tick + talkSeconds_); }
    Snapshot snap() { return takeSnapshot(raft_); }
    std::string where() {
        return "day " + std::to_string(game.day) + " tick " + std::to_string(game.tick) + " step " +
               std::to_string(steps_);
    }
    void fault(const std::string& kind, const std::string& detail) { faults_.add(kind, seed_, where() + ": " + detail); }

    void startIsland();
    void tick();
    void answerConversation();
    void runCommand();

    void checkIslanders(std::string_view after);
    void checkEnding(const std::string& out);
    void checkCommand(const Command& c, const Snapshot& before, const Snapshot& after, const std::string& out);
    void checkTransfer(const Command& c, const Snapshot& before, const Snapshot& after, const std::string& out);
    void checkQuestion(const Command& c, const char* question, bool acceptedIt, const std::string& out);
    void checkOutcomes(const Command& c, const std::vector<Outcome>& outcomes, const Snapshot& before,
                       const Snapshot& after, const std::string& out);
    void checkTick(const Snapshot& before, const Snapshot& after, const std::string& out, Npc* subjectBefore,
                   bool murderousNight);
    void checkAnnouncements(const Snapshot& before, const Snapshot& after, const std::string& out);
    void checkEndedGame();
    void checkSaveAndLoad();

    std::string heldList() {
        std::string text;
        for (const ItemDef* item : distinctItems(game.player.inventory)) text += item->name.str() + ", ";
        return text.empty() ? "nothing" : text.substr(0, text.size() - 2);
    }
};

void IslandRun::startIsland() {
    resetInputState();
    screen_.clearInput();
    resetGameState();
    // A start on some day of some year: the seed picks the second the game begins.
    baseSeconds_ = 1'700'000'000LL + static_cast<long long>(seed_) * 7'919;
    setFixedSeconds(baseSeconds_);
    game.running = 1;
    game.clockRunning = 1;
    game.player.name = "Sam";
    ASSERT_EQ(loadGame(1), 1) << "the built world did not load";
    raft_ = findItemByName("Raft");
    ASSERT_NE(raft_, nullptr);
    player_.setRaft(raft_);
    // On every fourth island the murderer is already bent on killing, so
    // the nights take their victims and the player too, now and then.
    if (seed_ % 4 == 0) {
        Npc& murderer = *game.murderer;
        murderer.hostility = murderer.hostilityBase = 90;
        murderer.happiness = murderer.happinessBase = 10;
    }
    takeCapturedOutput();
}

void IslandRun::play() {
    startIsland();
    if (::testing::Test::HasFatalFailure()) return;
    // The clock's first tick comes as the clock starts.
    game.tick = 1;
    checkIslanders("at the start");
    while (game.running && game.tick <= kStarvationTick + kTicksPerDay) {
        if (!game.clockRunning) {
            answerConversation();
            continue;
        }
        // The player takes a few seconds over each command; the clock goes on.
        for (int pause = player_.roll(4); pause > 0 && game.running && game.clockRunning; --pause) tick();
        if (game.running && game.clockRunning) runCommand();
        // Now and then the player quits and comes back to the saved game.
        if (game.running && game.clockRunning && !pending_ && game.busyUntil <= game.tick && player_.chance(1))
            checkSaveAndLoad();
    }
    if (game.running) {
        fault("the game plays on past the last morning", "still running on day " + std::to_string(game.day));
        return;
    }
    if (endingSeen_.empty()) fault("the game stopped without an ending", "no ending text was printed");
    checkEndedGame();
    if (wanderConsidered_ >= 40) {
        double share = static_cast<double>(wanderMoved_) / wanderConsidered_;
        if (share < kLeastWanderShare)
            fault("islanders stop wandering", std::to_string(wanderMoved_) + " moves in " +
                                                  std::to_string(wanderConsidered_) + " islander wander steps");
    }
}

void IslandRun::tick() {
    Snapshot before = snap();
    Npc* subject = game.memorySubject;
    const Npc* m = game.murderer;
    bool murderous = m && m->alive() && m != game.handcuffedIslander && m->hostility >= 65.0 && m->happiness <= 35.0;
    // The clock's own step: the seconds of the calendar move on with the tick.
    setFixedSeconds(baseSeconds_ + game.tick + 1 + talkSeconds_);
    advanceOneTick();
    std::string out = takeCapturedOutput();
    checkTick(before, snap(), out, subject, murderous);
}

void IslandRun::answerConversation() {
    for (int answers = 0; !game.clockRunning && game.running; ++answers) {
        if (answers > 300) {
            fault("a conversation never ends", "300 answers");
            game.clockRunning = 1;
            return;
        }
        Snapshot before = snap();
        // The player reads and thinks; the calendar runs on while game time stands still.
        talkSeconds_ += 2 + player_.roll(8);
        setSeconds();
        std::string answer = player_.pickAnswer(game.optionCount);
        ++steps_;
        ++answers_;
        dispatchTypedLine(answer, false);
        takeCapturedOutput();
        Snapshot after = snap();
        if (after.total != before.total || after.held != before.held)
            fault("a conversation changes items", describeTally(minus(after.total, before.total)));
        checkIslanders(answer);
    }
}

void IslandRun::checkIslanders(std::string_view after) {
    std::array<int, kIslanderCount> seen{};
    for (const Room& room : game.rooms)
        for (std::uint32_t i = 0; i < room.occupants.capacity; ++i)
            if (const Npc* npc = room.occupants.slots[i]) ++seen[static_cast<std::size_t>(npc->npcIndex)];
    for (const Npc& npc : game.islanders) {
        int times = seen[static_cast<std::size_t>(npc.npcIndex)];
        bool ok = npc.alive() ? times == 1 && npc.currentRoom && countInList(npc.currentRoom->occupants, &npc) == 1
                              : times == 0;
        if (!ok)
            fault("an islander is in no room or in two",
                  npc.name.str() + " is in " + std::to_string(times) + " rooms " + std::string(after));
    }
}

void IslandRun::runCommand() {
    Command c = player_.pickCommand();
    Snapshot before = snap();
    player_.typeAnswers(c, screen_);
    setSeconds();
    ++steps_;
    dispatchTypedLine(c.line, false);
    screen_.clearInput();
    std::string out = takeCapturedOutput();
    Snapshot after = snap();
    raftBest_ = std::max(raftBest_, after.raftState);
    checkCommand(c, before, after, out);
    checkIslanders(c.line);
    checkEnding(out);
}

void IslandRun::checkEnding(const std::string& out) {
    std::string seen;
    for (const Ending& e : kEndings)
        if (has(out, e.signature)) seen += seen.empty() ? e.name : std::string(" and ") + e.name;
    if (!seen.empty() && !endingSeen_.empty()) fault("a second ending after the first", endingSeen_ + ", then " + seen);
    if (!seen.empty() && endingSeen_.empty()) endingSeen_ = seen;
    if (!seen.empty() && game.running) fault("an ending that does not end the game", seen);
    if (seen.empty() && !game.running) fault("the game stops without an ending text", out.substr(0, 200));
    if (has(seen, "starvation") && game.day != 17) fault("starvation on the wrong day", "day " + std::to_string(game.day));
}

void IslandRun::checkEndedGame() {
    // A line typed before the ending reaches the loop after it.
    Snapshot before = snap();
    Room* room = game.player.currentRoom;
    Command c = player_.pickCommand();
    if (c.kind == Command::Boat || c.kind == Command::Sail) c = player_.pickMove();
    dispatchTypedLine(c.line, false);
    std::string out = takeCapturedOutput();
    Snapshot after = snap();
    if (!out.empty() || room != game.player.currentRoom || after.total != before.total || after.held != before.held)
        fault("an ended game obeys a command", "\"" + c.line + "\" after " + endingSeen_ + " printed: " + out.substr(0, 120));
    advanceOneTick();
    if (game.tick != before.tick) fault("the clock runs on after the ending", endingSeen_);
}

// A game saved and loaded again is the same game: the same items in the
// same places, the same islanders where they were, the same raft.
void IslandRun::checkSaveAndLoad() {
    Snapshot before = snap();
    std::string saved = saveText();
    saveGame();
    if (loadGame(0) != 1) {
        fault("a saved game does not load", where());
        return;
    }
    takeCapturedOutput();
    Snapshot after = snap();
    std::string what;
    if (after.total != before.total) what += " items " + describeTally(minus(after.total, before.total)) + ";";
    if (after.held != before.held) what += " hands " + describeTally(minus(after.held, before.held)) + ";";
    if (after.islanderRoom != before.islanderRoom || after.alive != before.alive) what += " islanders moved;";
    if (after.raftState != before.raftState || after.raftName != before.raftName) what += " the raft changed;";
    if (after.playerRoom != before.playerRoom || after.tick != before.tick || after.day != before.day)
        what += " the player or the clock moved;";
    if (saveText() != saved) what += " the next save differs;";
    if (!what.empty()) fault("a game saved and loaded again is another game", what);
}

// ---------------------------------------------------------------- judging a command

void IslandRun::checkCommand(const Command& c, const Snapshot& before, const Snapshot& after, const std::string& out) {
    bool unchanged = after.total == before.total && after.held == before.held && after.raftState == before.raftState &&
                     after.raftName == before.raftName;
    if (before.busy) {
        if (!unchanged || after.playerRoom != before.playerRoom)
            fault("a refused command changes the world", "\"" + c.line + "\" while busy");
        return;
    }
    // A raft step answers through its work, whose first line comes on the next tick.
    bool startedWork = after.busy && game.work.remaining > 0;
    if (!startedWork && out.find_first_not_of(" \n") == std::string::npos)
        fault("a command answers nothing: " + c.line.substr(0, c.line.find(' ', 4)),
              "\"" + c.line + "\" with the raft at " + std::to_string(before.raftState) + " (" + before.raftName +
                  "), holding " + heldList());
    switch (c.kind) {
        case Command::Move: {
            Room* target = before.playerRoom->exits[static_cast<std::size_t>(c.direction)];
            bool refused = has(out, "You cannot travel in that direction");
            if (refused != (target == nullptr) || after.playerRoom != (target ? target : before.playerRoom))
                fault("a move goes where the exits do not lead", "\"" + c.line + "\"");
            if (!unchanged) fault("a move changes items", describeTally(minus(after.total, before.total)));
            return;
        }
        case Command::Get:
        case Command::Drop: return checkTransfer(c, before, after, out);
        case Command::Use: {
            std::vector<Outcome> outcomes = useOutcomes(*c.item, c.target, before);
            if (c.item->name.view() == "handcuffs" && has(out, "You handcuffed")) {
                std::string named = c.target.size() > 3 ? c.target.substr(3) : "";
                const Npc* cuffed = game.handcuffedIslander;
                if (!cuffed || toLower(cuffed->name.view()) != named)
                    fault("a message claims what did not happen", "\"" + c.line + "\" printed " + out.substr(0, 80) +
                                                                      " but nobody was handcuffed");
            }
            // A tool's refusal names the tool that was used.
            if (has(out, "Invalid use of the axe") && c.item->name.view() != "axe")
                fault("a refusal names another tool", "\"" + c.line + "\" printed " + out.substr(0, 60));
            return checkOutcomes(c, outcomes, before, after, out);
        }
        case Command::Combine: return checkOutcomes(c, combineOutcomes(*c.item, *c.second, before), before, after, out);
        case Command::Boat:
            checkQuestion(c, "Would you like to start construction", after.raftState == 1 && before.raftState == 0, out);
            return checkOutcomes(c, raftOutcomes(before), before, after, out);
        case Command::Sail:
            checkQuestion(c, "Do you really want to set sail?", has(out, "Is there anyone you wish to take"), out);
            if (!unchanged) fault("sailing changes items", describeTally(minus(after.total, before.total)));
            return;
        default:
            if (!unchanged)
                fault("a command that moves no item changes items", "\"" + c.line + "\": " +
                                                                       describeTally(minus(after.total, before.total)));
            return;
    }
}

// "get" and "drop": what the reply says moved is exactly what moved.
void IslandRun::checkTransfer(const Command& c, const Snapshot& before, const Snapshot& after, const std::string& out) {
    bool get = c.kind == Command::Get;
    const std::string claim = get ? "You pick up " : "You drop ";
    Tally held = minus(after.held, before.held);
    Tally total = minus(after.total, before.total);
    Tally none{};
    std::size_t at = out.find(claim);
    if (at == std::string::npos) {
        if (held != none || total != none) fault("items move without a word", "\"" + c.line + "\": " + describeTally(held));
        std::size_t i = static_cast<std::size_t>(c.item->catalogueIndex);
        bool possible = get ? before.here[i] > 0 && c.item->portable && !before.handsFull
                            : before.held[i] > 0 && !before.roomFull;
        if (c.exactName && possible)
            fault("get or drop refuses what it could do", "\"" + c.line + "\" answered " + out.substr(0, 80));
        return;
    }
    std::size_t pos = at + claim.size();
    int n = std::atoi(out.c_str() + pos);
    std::size_t nameStart = out.find(' ', pos) + 1;
    std::size_t nameEnd = out.find(get ? ", " : ".\n", nameStart);
    const ItemDef* item = findItemByName(out.substr(nameStart, nameEnd - nameStart));
    Tally expected{};
    if (item) expected[static_cast<std::size_t>(item->catalogueIndex)] = get ? n : -n;
    if (!item || n < 1 || held != expected || total != none)
        fault("get or drop says one thing and does another",
              "\"" + c.line + "\" printed " + out.substr(at, 60) + " but the hands changed by " + describeTally(held));
}

// A yes or no question: "Yes" as shown is a yes, and a no says what it did.
void IslandRun::checkQuestion(const Command& c, const char* question, bool acceptedIt, const std::string& out) {
    if (!has(out, question)) return;
    std::string answer = toLower(c.answer);
    bool yes = answer == "yes" || answer == "y";
    if (yes && !acceptedIt) fault("a question refuses \"" + c.answer + "\"", "\"" + c.line + "\"");
    std::string afterQuestion = out.substr(out.find('\n', out.find(question)) + 1);
    if (!yes && afterQuestion.find_first_not_of(" \n") == std::string::npos)
        fault("a refused question says nothing", "\"" + c.line + "\" answered \"" + c.answer + "\"");
}

void IslandRun::checkOutcomes(const Command& c, const std::vector<Outcome>& outcomes, const Snapshot& before,
                              const Snapshot& after, const std::string& out) {
    Tally total = minus(after.total, before.total);
    Tally held = minus(after.held, before.held);
    std::string claimed;
    for (const Outcome& o : outcomes)
        if (has(out, o.says)) claimed = o.says;
    for (const Outcome& o : outcomes) {
        if (o.says.empty() ? !claimed.empty() : !has(out, o.says)) continue;
        if (o.change.total != total || o.change.held != held) continue;
        bool raftAsTold = o.raftStep ? after.raftState == before.raftState + o.raftRise && after.raftName == o.raftName
                                     : after.raftState == before.raftState && after.raftName == before.raftName;
        if (!raftAsTold) continue;
        if (o.starts) {
            if (!after.busy) continue;
            pending_ = PendingCraft{*o.starts, before.tick + craftTicks(*o.starts), craftFinishLine(*o.starts)};
        }
        return;
    }
    std::string allowed;
    for (const Outcome& o : outcomes)
        allowed += "\n    " + o.name + " (\"" + o.says + "\"): " + describeTally(o.change.total);
    std::string kind = c.kind == Command::Boat ? "a raft step takes other than its bill"
                       : isMultiWordUse(c)   ? "use reads only the first word of an item's name"
                                             : "a command changes items against the rules";
    fault(kind, "\"" + c.line + "\" printed \"" + out.substr(0, 100) + "\"; items changed by " +
                    describeTally(total) + ", hands by " + describeTally(held) + "; the rules allow:" + allowed);
}

// ---------------------------------------------------------------- judging a tick

void IslandRun::checkTick(const Snapshot& before, const Snapshot& after, const std::string& out, Npc* subjectBefore,
                          bool murderousNight) {
    checkIslanders("after a tick");
    checkEnding(out);
    Change explained;
    // Gifts: the giver drops the item in the player's room.
    for (const std::string& line : lines(out)) {
        std::size_t drops = line.find(" drops ");
        if (drops == std::string::npos || line.empty() || line.back() != '.') continue;
        std::string giver = line.substr(0, drops);
        const ItemDef* gift = findItemByName(line.substr(drops + 7, line.size() - drops - 8));
        const Npc* npc = nullptr;
        for (const Npc& n : game.islanders)
            if (n.name.view() == giver) npc = &n;
        if (!gift || !npc || npc == &game.islanders[0] || npc->currentRoom != after.playerRoom) {
            fault("a gift from nobody here", line);
            continue;
        }
        if (!before.roomFull) explained.total[static_cast<std::size_t>(gift->catalogueIndex)] += 1;
        ++gifts_;
    }
    // Killings leave a corpse where the victim stood.
    int deaths = 0;
    for (std::size_t i = 0; i < kIslanderCount; ++i) {
        if (!before.alive[i] || after.alive[i]) continue;
        ++deaths;
        if (i == 0) fault("the Dog is killed", "");
        const ItemDef* corpse = findItemByName("Corpse of " + game.islanders[i].name.str());
        if (!corpse) {
            fault("a killing leaves no corpse", game.islanders[i].name.str());
            continue;
        }
        if (before.islanderRoom[i] && !before.islanderRoom[i]->items.full())
            explained.total[static_cast<std::size_t>(corpse->catalogueIndex)] += 1;
    }
    bool newDay = after.day != before.day;
    if (newDay && game.running && after.day == 4) explained.total[static_cast<std::size_t>(itemIndex("crate"))] += 1;
    if (newDay && game.running && after.day == 6) explained.total[static_cast<std::size_t>(itemIndex("note"))] += 1;

    // A craft's completion, due this tick.
    Change withCompletion = explained;
    bool due = pending_ && pending_->dueTick == after.tick && game.running;
    if (due) {
        Change made = completionChange(pending_->craft, before);
        withCompletion.total = plus(explained.total, made.total);
        withCompletion.held = plus(explained.held, made.held);
    }
    Tally total = minus(after.total, before.total);
    Tally held = minus(after.held, before.held);
    bool asWithCompletion = total == withCompletion.total && held == withCompletion.held;
    bool asWithout = total == explained.total && held == explained.held;
    if (due && asWithCompletion) ++crafts_;
    if (due && !asWithCompletion && asWithout) {
        fault("a craft's completion is lost", std::string(craftFinishLine(pending_->craft)) + ": nothing was made");
    } else if (!asWithCompletion) {
        fault("items appear or vanish on a tick", "changed by " + describeTally(total) + ", hands by " +
                                                      describeTally(held) + "; explained: " +
                                                      describeTally(withCompletion.total) + "; printed: " + out.substr(0, 160));
    }
    if (pending_ && has(out, pending_->finishLine) && !(due && asWithCompletion))
        fault("the finish line comes without the product", std::string(pending_->finishLine) + " printed on tick " +
                                                               std::to_string(after.tick) + ", due " +
                                                               std::to_string(pending_->dueTick));
    if (pending_ && after.tick >= pending_->dueTick) pending_.reset();

    checkAnnouncements(before, after, out);

    // Wandering: every minute each living islander draws a room of its area.
    if (after.tick % kWanderEvery == 0 && game.running && before.playerRoom == after.playerRoom) {
        for (std::size_t i = 1; i < kIslanderCount; ++i) {
            if (!before.alive[i] || !after.alive[i] || &game.islanders[i] == game.handcuffedIslander) continue;
            ++wanderConsidered_;
            if (before.islanderRoom[i] != after.islanderRoom[i]) ++wanderMoved_;
        }
    }

    if (!newDay) {
        if (deaths > 0) fault("an islander dies by day", std::to_string(deaths) + " deaths");
        return;
    }
    int livingBefore = 0;
    for (std::size_t i = 1; i < kIslanderCount; ++i) livingBefore += isLivingHuman(before, i) ? 1 : 0;
    bool playerMurdered = has(out, "kills you in cold blood");
    if (after.day == 3 && livingBefore > 0 && deaths != 1)
        fault("the third morning's killing takes no living human", std::to_string(deaths) + " deaths");
    if (after.day >= 4 && !murderousNight && deaths != 0)
        fault("a killing on a peaceful night", std::to_string(deaths) + " deaths");
    if (after.day >= 4 && murderousNight && !playerMurdered && livingBefore > 0 && deaths != 1)
        fault("a murderous night takes no living human", std::to_string(deaths) + " deaths");

    static const std::set<int> kSubjectMornings = {4, 6, 7, 9, 10, 14, 15};
    // A player murdered in the night sees no morning.
    if (!game.running || !kSubjectMornings.count(after.day)) return;
    const Npc* subject = game.memorySubject;
    bool anotherLives = false;
    for (std::size_t i = 1; i < kIslanderCount; ++i)
        anotherLives = anotherLives || (game.islanders[i].alive() && &game.islanders[i] != subjectBefore);
    if (anotherLives && (subject == subjectBefore || !subject || !subject->alive() || subject == &game.islanders[0]))
        fault("the memory subject repeats or is no living human",
              "day " + std::to_string(after.day) + ": " + (subject ? subject->name.str() : "nobody") +
                  (subject == subjectBefore ? " again" : " (not a living human)"));
}

// An islander who comes or goes while the player stays is seen to do it.
void IslandRun::checkAnnouncements(const Snapshot& before, const Snapshot& after, const std::string& out) {
    if (before.playerRoom != after.playerRoom) return;
    for (std::size_t i = 0; i < kIslanderCount; ++i) {
        if (!before.alive[i] || !after.alive[i]) continue;
        const std::string name = game.islanders[i].name.str();
        bool was = before.islanderRoom[i] == before.playerRoom;
        bool is = after.islanderRoom[i] == after.playerRoom;
        if (!was && is && !has(out, name + " walks into the room."))
            fault("an islander comes in unseen", name);
        if (was && !is && !has(out, name + " leaves the room.")) fault("an islander leaves unseen", name);
        if (was == is && !is && (has(out, name + " walks into the room.") && !has(out, name + " leaves the room.")))
            fault("an arrival is announced that did not happen", name);
    }
}

}  // namespace

using IslandInvariantTest = WorldFixture;

TEST_F(IslandInvariantTest, SixteenDaysOfRandomPlayKeepTheIslandHonest) {
    ASSERT_TRUE(loadedFromBuild) << "the long playthrough needs the built Data";
    Faults faults;
    std::vector<unsigned> seeds = seedsToRun();
    for (unsigned seed : seeds) {
        IslandRun run(seed, screen, faults);
        run.play();
        if (HasFatalFailure()) return;
        if (std::getenv("BRINEFALL_SEEDS")) std::cout << run.summary() << "\n";
    }
    for (const auto& [kind, found] : faults.kinds) {
        std::string seedList;
        for (std::size_t i = 0; i < found.seeds.size() && i < 20; ++i) seedList += " " + std::to_string(found.seeds[i]);
        ADD_FAILURE() << kind << ": " << found.seeds.size() << " of " << seeds.size() << " seeds (" << seedList
                      << " )\n  first: " << found.example;
    }
}
