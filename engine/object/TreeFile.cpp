#include "object/TreeFile.h"

#include <boost/property_tree/detail/file_parser_error.hpp>
#include <fstream>
#include <string>

#include "object/ContentError.h"

boost::property_tree::ptree ReadTreeFile(const std::filesystem::path& file, const char* syntax,
                                         const TreeParser& parse) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw ContentError(file, "cannot open the file for reading");
    }
    boost::property_tree::ptree tree;
    try {
        parse(in, tree);
    } catch (const boost::property_tree::file_parser_error& e) {
        throw ContentError(file, std::string(syntax) + " syntax error on line " + std::to_string(e.line()) + ": " +
                                     e.message());
    }
    return tree;
}
