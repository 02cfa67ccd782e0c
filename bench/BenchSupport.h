#pragma once

#include <string>

// A configuration as large as the tables allow: 200 parameters, 20 pages of 300 combos, each
// with four items, an input formula and two output formulas; each page names "back.gif" as its
// background.
std::string MaximalConfig();

// The program loads its configuration once. In a loop of loads, glibc would hand the freed heap
// back to the system after every iteration and page it in again in the next, which measures the
// allocator's trimming instead of the loading. TARNEL_BENCH_TRIM=1 keeps the trimming.
void KeepFreedHeap();
