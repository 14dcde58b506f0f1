#pragma once
// Loads the island for a content test: the built Data directory through the
// game's own loader when it exists, otherwise the plain source through the
// test reader. Each test works on a private copy of Data, so tests running
// side by side never share the unscrambled twin of the world file.
#include <filesystem>
#include <optional>
#include <string>

#include "TestSupport.h"
#include "WorldFileReader.h"

constexpr int kWorldRoomTotal = 197;

std::filesystem::path worldSourcePath(const char* relative);
// The parsed plain source (content/initial.ims), read once.
const WorldSource& worldSource();

class WorldFixture : public GameTest {
protected:
    void SetUp() override;
    void TearDown() override;

    bool loadedFromBuild = false;
    Room& room(int area, int number) { return *roomAt(area, number); }

private:
    std::optional<PrivateDataDir> privateData_;
};
