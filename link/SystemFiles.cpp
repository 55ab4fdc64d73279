#include "link/SystemFiles.h"

#include <fstream>

namespace mx615 {

std::string FirstLineOf(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

}  // namespace mx615
