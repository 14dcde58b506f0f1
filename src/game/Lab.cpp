// The laboratory behind the keypad wall, and the two endings inside it.
#include "game/Lab.h"

#include <algorithm>

#include "base/Random.h"
#include "console/Output.h"
#include "game/Ending.h"
#include "items/Wall.h"
#include "world/Places.h"
#include "world/World.h"

namespace {

// The three parts of the winning ending, each followed by a pause.
constexpr const char* kWinning[] = {
    "\nYou are walking down a long hallway.  Your footsteps echo all around in the vacant space.  You can see a small amount of light coming from a chamber at the end of the tunnel.  You walk in and a chair by a large computer monitor spins around to reveal The Dog.  'Well done.  I must admit, I never thought you could find your way into my lab.  As you can see, this is the lab where I, at least my former self, practised experiments on you who were here on the island.  Each of you I had kidnapped because you all exhibit very interesting personalities and habits.  You see, a group named the Euro-African Commission was funding me in order that I would create an army of mindless soldiers for them to use to conquer and colonize Africa.  But, I'm afraid I had no intention of doing something as petty as that.  Why, my research is on mind manipulation and I very much wanted to find out how each of your different personality types would react to the experimentation.  Alas, I got a bit out of my depth one day and the result was the destruction of my lab here and the escape of my subjects, you all.  Interestingly though, one of you went completely mad and was the one responsible for the deaths of the other islanders.  I could not have foreseen that, but I must say that it was quite an entertaining turn of events.'\n/s",
    "\nYou take a look around the lab and all the memories come flowing back to you.  You remember now that you were kidnapped while on safari in Africa and that day after day you would be kept in these chairs circling the room while the scientist did torturous experiments to your mind.  And You remember the explosion, being blown free of the mountain lab, staggering to the beach and collapsing.  'It appears as though you are beginning to remember.  Yes, it is all true I'm afraid.  But hey, you're alive now, right?  Well, not for long anyways.  You see, there is no way that I could possibly let you leave now, but take comfort in the fact that you will not die in vain... after I have killed you I shall take your body back to my other lab and put your brain to great use. H A H A H A!'\n/s",
    "\nThe dog leaps at you but you jump out of the way quickly enough that he misses you and lands inside one of the cages he kept you in.  You quickly turn and lock him in.  'NO!  This cannot be!  Let me out now!'  Ignoring the dog you walk over to the computer terminal.  Beside it you find a fully functional radio and flare gun.  Taking them both you use the computer to get all the info you can on the link between the scientist and the EAC and the history of this project.  Finding a self-destruct button, you initialize the self-destruct clock for 24 hours.  You then leave the lab.  Walking out to the beach you woke up on, you use the radio to contact a nearby African naval ship and use the flare gun to display your position.  Several hours later a large rescue chopper approaches, bearing you and any survivors away from the island forever.\n\n/s",
};
constexpr const char* kLosing =
    "You are walking down a long hallway.  Your footsteps echo all around in the vacant space.  You can see a small amount of light coming from a chamber at the end of the tunnel.  As you peer into the chamber you see a dog sitting at a computer.  Just as the dog turns to face you, you feel something hard hit the back of your head.  You stagger and your vision goes blurry.  You collapse to the floor and as you slip out of consciousness you hear what sounds like one of the islanders laughing.  Unfortunately, you never wake up. And then the island explodes.\n";

}  // namespace

void labCodeCommand() {
    Room* here = game.player.currentRoom;
    bool allPlaced = game.pyramidPlaced == 1 && game.cubePlaced == 1 && game.spherePlaced == 1;
    if (here && here->is(kKeypadWall) && allPlaced) {
        printMarked("/YThe keypad recedes back into the wall and then a portion of the wall recedes back and slides away to reveal a faintly lit hallway.\n");
        connectRooms(*here, *roomAt(kLaboratory), North);
        describeWall();
    } else {
        printMarked("Only crazy people type into thin air, crazy.\n");
    }
}

bool numberTyped(const std::string& word) {
    const bool number = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!number) return false;
    const Room* here = game.player.currentRoom;
    if (here && here->is(kKeypadWall) && wallState() == WallState::KeypadShown)
        printMarked("The keypad gives a short, flat buzz and its keys go dark for a moment. The wall stays shut.\n");
    else
        // The same line the code gets, so that no number is told apart.
        printMarked("Only crazy people type into thin air, crazy.\n");
    return true;
}

void enterLab() {
    reseedFromClock();
    if (draw() % 2 == 0)
        endGame(Ending::LabWon, {kWinning[0], kWinning[1], kWinning[2]});
    else
        endGame(Ending::LabLost, {kLosing});
}
