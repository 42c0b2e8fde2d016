// The font tool: turns an animation whose pictures are letters, each position of its first
// event named by its letter, into a bitmap font file (FNT).
// Usage: MakeFont <ann file> <fnt file>
#include "text/CSimpleFont6.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: MakeFont <ann file> <fnt file>\n", stderr);
        return 2;
    }
    CSimpleFont6 font(nullptr);
    if (font.create(CXString(argv[1]), CXString(argv[2])) != 0) {
        std::fprintf(stderr, "MakeFont: no font from \"%s\" into \"%s\"\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
