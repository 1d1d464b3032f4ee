#include <gtest/gtest.h>

#include <sstream>

#include "platform/MessageBox.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

TEST(MessageBoxText, LinesBreakAtSpacesAndKeepTheirOwnBreaks) {
    EXPECT_EQ(platform::WrapText("The game will now close.", 40), "The game will now close.");
    EXPECT_EQ(platform::WrapText("one two three four", 9), "one two\nthree\nfour");
    EXPECT_EQ(platform::WrapText("first line\n\nsecond", 40), "first line\n\nsecond");
}

TEST(MessageBoxText, ALongPathBreaksAfterASlashAndNothingIsLost) {
    const std::string text =
        "The menu picture /home/player/games/velorune-1.0/build/bin/gui/quit.bmp is missing or damaged, so Velorune "
        "cannot start.";
    const std::string wrapped = platform::WrapText(text, 30);
    std::string joined;
    for (const std::string& line : Lines(wrapped)) {
        EXPECT_LE(line.size(), 30u) << line;
        joined += line;
    }
    EXPECT_NE(wrapped.find("\n/home/player/games/\nvelorune-1.0/build/bin/gui/\nquit.bmp is"), std::string::npos) << wrapped;
    std::string unspaced;
    for (char c : text)
        if (c != ' ') unspaced += c;
    std::string joinedUnspaced;
    for (char c : joined)
        if (c != ' ') joinedUnspaced += c;
    EXPECT_EQ(joinedUnspaced, unspaced);
    EXPECT_EQ(platform::WrapText("abcdefghij", 4), "abcd\nefgh\nij");  // no slash: cut at the limit
}

TEST(MessageBoxText, LinesThatDoNotFitAreLeftOutBehindAnEllipsis) {
    EXPECT_EQ(platform::FirstLines("one\ntwo\nthree", 3), "one\ntwo\nthree");
    EXPECT_EQ(platform::FirstLines("one\ntwo\nthree\nfour", 3), "one\ntwo\n\u2026");
    EXPECT_EQ(platform::FirstLines("one\ntwo\nthree", 0), "one\n\u2026");  // a screen too small still shows a line
}
