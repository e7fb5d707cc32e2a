#pragma once

#include <boost/property_tree/ptree.hpp>
#include <filesystem>

// Reads an XML content file into a property tree (attributes under "<xmlattr>"); a
// missing file or a syntax error raises ContentError naming the file (and the line of
// the error).
boost::property_tree::ptree ReadXmlFile(const std::filesystem::path& file);
