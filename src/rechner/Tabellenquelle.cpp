#include "rechner/Blattleser.h"
#include "rechner/Zeilenleser.h"
