#include "object/JsonFile.h"

#include <boost/property_tree/json_parser.hpp>
#include <fstream>
#include <system_error>

#include "object/ContentError.h"

namespace pt = boost::property_tree;

pt::ptree ReadJsonFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw ContentError(file, "cannot open the file for reading");
    }
    pt::ptree tree;
    try {
        pt::read_json(in, tree);
    } catch (const pt::json_parser_error& e) {
        throw ContentError(file, "JSON syntax error on line " + std::to_string(e.line()) + ": " + e.message());
    }
    return tree;
}

void WriteJsonFileAtomically(const std::filesystem::path& file, const pt::ptree& tree) {
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    const auto removeTemporary = [&temporary] {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
    };
    try {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            throw ContentError(file, "cannot open '" + temporary.generic_string() + "' for writing");
        }
        pt::write_json(out, tree, true);
        out.close();
        if (!out) {
            throw ContentError(file, "writing '" + temporary.generic_string() + "' failed");
        }
    } catch (const pt::json_parser_error& e) {
        removeTemporary();
        throw ContentError(file, "cannot write JSON: " + e.message());
    } catch (...) {
        removeTemporary();
        throw;
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (error) {
        removeTemporary();
        throw ContentError(file, "cannot replace the file: " + error.message());
    }
}

const pt::ptree& RequireJsonMember(const pt::ptree& tree, const std::string& key, const std::filesystem::path& file,
                                  const std::string& where) {
    const auto it = tree.find(key);
    if (it == tree.not_found()) {
        throw ContentError(file, (where.empty() ? "" : where + ": ") + "missing \"" + key + "\" member");
    }
    return it->second;
}

std::string RequireJsonString(const pt::ptree& tree, const std::string& key, const std::filesystem::path& file,
                              const std::string& where) {
    return RequireJsonMember(tree, key, file, where).data();
}
