#include "object/IniFile.h"

#include <boost/property_tree/ini_parser.hpp>

#include <string_view>

#include "object/TreeFile.h"

namespace {

// Sections hold only keys: the parser never recurses.
int IniNestingDepth(std::string_view) {
    return 1;
}

}  // namespace

boost::property_tree::ptree ReadIniFile(const std::filesystem::path& file) {
    return ReadTreeFile(
        file, "INI",
        [](std::istream& in, boost::property_tree::ptree& tree) { boost::property_tree::read_ini(in, tree); },
        IniNestingDepth);
}
