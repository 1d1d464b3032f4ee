// A scratch program folder that holds the whole game: the built asset folders linked in and
// a private copy of levels.dat, so that records and settings written by a test stay there.
#pragma once
#include "tests/support/ScratchFolder.h"

class GameFolder : public ScratchFolder {
public:
    GameFolder();
};
