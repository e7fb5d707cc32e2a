#include "object/JsonFile.h"

#include <boost/property_tree/json_parser.hpp>
#include <cctype>

#include "object/ContentError.h"
#include "object/NestingDepth.h"
#include "object/TreeFile.h"

namespace pt = boost::property_tree;

bool HasJsonExtension(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension == ".json";
}

pt::ptree ReadJsonFile(const std::filesystem::path& file) {
    return ReadTreeFile(
        file, "JSON", [](std::istream& in, pt::ptree& tree) { pt::read_json(in, tree); }, JsonNestingDepth);
}

void WriteJsonFileAtomically(const std::filesystem::path& file, const pt::ptree& tree) {
    StageJsonFile(file, tree).PutInPlace();
}

StagedFile StageJsonFile(const std::filesystem::path& file, const pt::ptree& tree) {
    return StagedFile(file, [&](std::ostream& out) {
        try {
            pt::write_json(out, tree, true);
        } catch (const pt::json_parser_error& e) {
            throw ContentError(file, "cannot write JSON: " + e.message());
        }
    });
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
