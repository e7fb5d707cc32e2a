#include "object/XmlFile.h"

#include <boost/property_tree/xml_parser.hpp>

#include "object/NestingDepth.h"
#include "object/TreeFile.h"

boost::property_tree::ptree ReadXmlFile(const std::filesystem::path& file) {
    return ReadTreeFile(
        file, "XML",
        [](std::istream& in, boost::property_tree::ptree& tree) { boost::property_tree::read_xml(in, tree); },
        XmlNestingDepth);
}
