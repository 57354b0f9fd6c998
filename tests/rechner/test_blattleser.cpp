#include <gtest/gtest.h>

#include "rechner/Blattleser.h"
