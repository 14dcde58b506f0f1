#pragma once
// A record of play: while one is kept, every text printed (without its
// colours or the frame) and every line typed ("> " before it) go to its
// writer as plain UTF-8 text, whichever back end shows them.
#include <functional>
#include <string>
#include <string_view>

using TranscriptWriter = std::function<void(std::string_view text)>;

// Starts handing the text to writer; one that was kept stops first.
void startTranscript(TranscriptWriter writer);
void stopTranscript();
bool transcriptKept();

// A printed text in the screen's characters, its markup already removed.
void transcribeText(std::string_view screenText);
// A line as it was typed and entered.
void transcribeTypedLine(std::string_view line);

// A front end that cannot write files (the page) keeps the transcript in
// memory and hands it over here when it stops, to be offered as a file.
using TranscriptHandOff = void (*)(const std::string& fileName, const std::string& text);
void setTranscriptHandOff(TranscriptHandOff handOff);
TranscriptHandOff transcriptHandOff();
