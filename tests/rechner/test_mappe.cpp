#include <gtest/gtest.h>

#include "rechner/Mappenschreiber.h"
