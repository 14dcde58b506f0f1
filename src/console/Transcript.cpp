#include "console/Transcript.h"

#include <mutex>
#include <utility>

#include "console/Cp437.h"

namespace {
// A leaf lock: the writer is called under it and takes no other.
std::mutex transcriptMutex;
TranscriptWriter writer;
TranscriptHandOff handOff = nullptr;
}  // namespace

void startTranscript(TranscriptWriter newWriter) {
    std::lock_guard lock(transcriptMutex);
    writer = std::move(newWriter);
}

void stopTranscript() {
    TranscriptWriter finished;
    std::lock_guard lock(transcriptMutex);
    std::swap(finished, writer);
}

bool transcriptKept() {
    std::lock_guard lock(transcriptMutex);
    return static_cast<bool>(writer);
}

void transcribeText(std::string_view screenText) {
    std::lock_guard lock(transcriptMutex);
    if (writer && !screenText.empty()) writer(cp437ToUtf8(std::string(screenText)));
}

void transcribeTypedLine(std::string_view line) {
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    std::lock_guard lock(transcriptMutex);
    if (writer) writer("> " + std::string(line) + "\n");
}

void setTranscriptHandOff(TranscriptHandOff newHandOff) { handOff = newHandOff; }
TranscriptHandOff transcriptHandOff() { return handOff; }
