#include "game/MorningTexts.h"

namespace {
// Index 0 is day 2.
constexpr const char* kMornings[] = {
    // day 2
    "\nYou wake up this morning to the sound of thunder.  The sky above is grey and, although it is not raining, the weather looks as though it could not get much worse.\n",
    // day 3
    "\nThis morning seems like the best day since you arrived here 2 days ago.  The weather is nice and clear today and you can faintly hear the waves lapping on the beach.\n",
    // day 4
    "\nYou wake up to the sound of the other islanders busying themselves.  They seem to be up in some kind of commotion.  Although somebody was found dead yesterday, this does not seem to be the cause of the commotion.\n",
    // day 5
    "\nYou are awakened today by the whipping of the wind and the strong sound of waves crashing on the beach. It seems that as the days go by, more and more of this island's mystery gets unravelled.  Who knows what today will hold?\n",
    // day 6
    "\nYou wake up today to another day of beautiful weather. You have been on the island for almost a week now but strangely, it feels as though you have been here for much longer.  Hmm, maybe things will unravel themselves if you keep on investigating the island.\n",
    // day 7
    "\nYou have officially been on the island for 1 week. You haven't found out a whole lot, but you are getting to know the people on the island much better.  If only you could decrypt the water-damaged note you found the other day, it might be able to give you some great insight into this island.\n",
    // day 8
    "\nYou are awoken today by the sound of heavy rainfall.  The bad weather you experienced a while back seems to be back. Wonder what will happen today?\n",
    // day 9
    "\nIt seems like every other day people are remembering more and more about the origins of this island. It should not be too much longer now that you are able to get to the root of what exactly is going on here.\n",
    // day 10
    "\nYou wake up this morning to pangs of hunger. The islanders have started to cautiously ration the food from the crate, but you have seen the crate and you know that there will only be enough food to feed everyone for another week at best.  You realise that it is time that you start to really put an effort into getting at least yourself off of this island, and the only way to do that is with a raft.\n",
    // day 11
    "\nYou startle awake today to the booming sound of thunder.  It appears as though another thunderstorm has come through.  This is not a really good time for this either, because this is really going to hamper your work of getting off of the island.  You don't have a lot of time left and you can feel that if something is going to happen, it needs to happen soon.\n",
    // day 12
    "\nAs your mind drifts in and out of dreams, you start to piece together the recent events on the island.  First there was the dead scientist. 2 days later another killing took place. On day 4 the crate appeared with that weird \"EAC\" symbol on the side and people recognized this food strangely. On day 6 the note washed up.  It did not say much, but it clearly mentioned something about 8 subjects and experiments and a Dr. something. The next day one of the islanders was going around telling of a dream about being in a lab, and many of the islanders had similar recollections. A couple days later one of the islanders reported remembering being captured and brought here. Finally, a couple days ago an islander seemed to remember overhearing the name Euro-African Commission and, consequently, many of the others also remembered hearing about the Commission as well.  That is all the major events of your time on the island, but what do they all mean?\n",
    // day 13
    "\nYou awaken today to the sound of strong winds and crashing waves. You think to yourself that if only you had a raft, you could be gone from here, and the days left to do it are running out.\n",
    // day 14
    "\nYou wake up today determined to unravel the mystery of the island.  Maybe today will be the breakthrough you have been waiting for, but you better get out there and see, for there are only so many hours in a day.\n",
    // day 15
    "\nWell, the days are getting slim.  You know that there is only food for one more day after today. You have precious little time to discover this island's secret or get the heck out of here.  Yesterday seemed utterly useless, the only major event being some idiot singing numbers.  Things are looking dire.  It is time for you to either get past that darn fence or get the heck off of this island.\n",
    // day 16
    "\nThe wind was whipping and rain falling all night so you got no rest.  Today the sky is almost black with thunder clouds.  You can't seem to even hear the rain and wind any more over the cacophonous thunder and lightning crashing all over the island. You eat your last bit of food and set out.  Whatever happens now is up to you...\n",
};
}  // namespace

const char* morningText(int day) {
    if (day < 2 || day > 16) return nullptr;
    return kMornings[day - 2];
}
