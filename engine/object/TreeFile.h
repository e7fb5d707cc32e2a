#pragma once

#include <boost/property_tree/ptree.hpp>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string_view>

using TreeParser = std::function<void(std::istream& in, boost::property_tree::ptree& tree)>;
using NestingScan = int (*)(std::string_view text);

// Reads a content file into a property tree through one of the property tree library's
// parsers. A file that cannot be opened or is no regular file (see ReadableFile), a
// parser error, or nesting deeper than kMaxContentNesting (measured by nestingDepth
// before parsing) raises ContentError naming the file; a parser error reads "<syntax>
// syntax error on line <n>: <what>".
boost::property_tree::ptree ReadTreeFile(const std::filesystem::path& file, const char* syntax, const TreeParser& parse,
                                         NestingScan nestingDepth);
