#include "object/TreeFile.h"

#include <boost/property_tree/detail/file_parser_error.hpp>
#include <sstream>
#include <string>

#include "object/ContentError.h"
#include "object/NestingDepth.h"
#include "object/ReadableFile.h"

boost::property_tree::ptree ReadTreeFile(const std::filesystem::path& file, const char* syntax, const TreeParser& parse,
                                         NestingScan nestingDepth) {
    std::string text = ReadWholeFile(file);
    if (nestingDepth(text) > kMaxContentNesting) {
        throw ContentError(
            file, std::string(syntax) + " nested deeper than " + std::to_string(kMaxContentNesting) + " levels");
    }
    std::istringstream parsed(std::move(text));
    boost::property_tree::ptree tree;
    try {
        parse(parsed, tree);
    } catch (const boost::property_tree::file_parser_error& e) {
        throw ContentError(
            file, std::string(syntax) + " syntax error on line " + std::to_string(e.line()) + ": " + e.message());
    }
    return tree;
}
