#include <benchmark/benchmark.h>

#include "rechner/Blattleser.h"
