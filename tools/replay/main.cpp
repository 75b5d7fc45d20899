// tessaril-replay: feeds the system's real code with recorded input and prints what it does, as JSON.
#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "ReplayCommand.hpp"

int main(int argc, char** argv) {
    // As the application does: the replayed code must not depend on the user's decimal separator.
    std::setlocale(LC_ALL, "");
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return tessaril::replay::run(arguments, std::cin, std::cout, std::cerr);
}
