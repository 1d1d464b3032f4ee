// A scratch program folder that holds the whole game: the built asset folders linked in and
// a private copy of levels.dat, so that records and settings written by a test stay there.
#pragma once
#include "tests/support/files/ScratchFolder.h"

class GameFolder : public ScratchFolder {
public:
    GameFolder();
    // A FIFO in place of the named asset ("gui/800x600.bmp"); the folder it is in becomes one
    // of this copy's own, of links to the built files.
    void PlaceFifo(const std::string& asset) const;
};
