#include <iostream>

int main() {
    std::cout << "Lohnwippe: Das Hauptfenster ist in dieser Version noch nicht enthalten.\n";
    return 0;
}
