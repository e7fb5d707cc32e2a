#pragma once

#include <boost/property_tree/ptree.hpp>
#include <filesystem>
#include <string>

#include "object/AtomicFile.h"

// Whether the file's extension is ".json", in any case.
bool HasJsonExtension(const std::filesystem::path& file);

// Reads a JSON content file into a property tree; a missing file or a syntax error
// raises ContentError naming the file (and the line of the error).
boost::property_tree::ptree ReadJsonFile(const std::filesystem::path& file);

// Writes the tree in pretty form to a temporary file beside the target, then renames it
// over the target, so a crash mid-save never leaves a truncated file. Failures raise
// ContentError naming the file.
void WriteJsonFileAtomically(const std::filesystem::path& file, const boost::property_tree::ptree& tree);
// The same write, staged: the caller puts the file in place.
StagedFile StageJsonFile(const std::filesystem::path& file, const boost::property_tree::ptree& tree);

// The member key directly under tree (no path splitting) and its text. A missing member
// raises ContentError naming the file, where in it (when given) and the key.
const boost::property_tree::ptree& RequireJsonMember(const boost::property_tree::ptree& tree, const std::string& key,
                                                     const std::filesystem::path& file,
                                                     const std::string& where = std::string());
std::string RequireJsonString(const boost::property_tree::ptree& tree, const std::string& key,
                              const std::filesystem::path& file, const std::string& where = std::string());
