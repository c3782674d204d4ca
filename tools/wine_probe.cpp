// Prints one line. Whether the line arrives tells whether this Wine runs programs of this
// build: without a 32-bit Wine an i686 program runs not at all and Wine still exits 0.
#include <cstdio>

int main() {
    std::puts("i686 programs run");
    return 0;
}
