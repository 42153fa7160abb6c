#include "app/commandletters.h"

#include <array>

namespace qmx::app {

namespace {

struct Letter {
    char a; // map A: the letter itself
    char b; // map B
};

constexpr std::array<Letter, 11> kLetters{{{'J', 'H'},
                                           {'j', 'h'},
                                           {'L', 'K'},
                                           {'M', 'O'},
                                           {'m', 'o'},
                                           {'N', 'Q'},
                                           {'S', 'U'},
                                           {'s', 'u'},
                                           {'W', 'X'},
                                           {'R', 'Y'},
                                           {'V', 'Z'}}};

} // namespace

std::uint8_t CommandLetters::byteFor(char letter) const {
    for (const Letter& entry : kLetters) {
        if (entry.a == letter)
            return static_cast<std::uint8_t>(m_selector == 0 ? entry.a : entry.b);
    }
    return 0;
}

void CommandLetters::select(int selector) {
    if (selector == 0 || selector == 1)
        m_selector = selector;
}

} // namespace qmx::app
