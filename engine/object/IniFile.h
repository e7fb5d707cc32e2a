#pragma once

#include <boost/property_tree/ptree.hpp>
#include <filesystem>

// Reads an INI file into a property tree (sections as children); a file that cannot be
// opened, is no regular file or does not parse raises ContentError naming the file
// (and the line of the error).
boost::property_tree::ptree ReadIniFile(const std::filesystem::path& file);
