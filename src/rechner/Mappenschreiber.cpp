#include "rechner/Mappenschreiber.h"
