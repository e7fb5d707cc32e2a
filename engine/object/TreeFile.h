#pragma once

#include <boost/property_tree/ptree.hpp>
#include <filesystem>
#include <functional>
#include <iosfwd>

using TreeParser = std::function<void(std::istream& in, boost::property_tree::ptree& tree)>;

// Reads a content file into a property tree through one of the property tree library's
// parsers. A file that cannot be opened, or a parser error, raises ContentError naming
// the file; a parser error reads "<syntax> syntax error on line <n>: <what>".
boost::property_tree::ptree ReadTreeFile(const std::filesystem::path& file, const char* syntax,
                                         const TreeParser& parse);
