// ccbc: compiles one text layout into a .ccbi file.
//   ccbc <layout> -o <file.ccbi>

#include "CcbiWriter.h"
#include "LayoutParser.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    std::string input, output;
    for (int i = 1; i < argc; ++i)
    {
        std::string arg = argv[i];
        if (arg == "-o" && i + 1 < argc) output = argv[++i];
        else if (input.empty()) input = arg;
        else output = arg;
    }
    if (input.empty() || output.empty())
    {
        std::fprintf(stderr, "usage: ccbc <layout> -o <file.ccbi>\n");
        return 2;
    }

    std::ifstream in(input.c_str(), std::ios::binary);
    if (!in)
    {
        std::fprintf(stderr, "%s: error: cannot read the file\n", input.c_str());
        return 1;
    }
    std::stringstream source;
    source << in.rdbuf();

    cocos2d::extension::CCBDocumentData document;
    ccbc::ParseError error;
    if (!ccbc::parseLayout(source.str(), input, document, error))
    {
        std::fprintf(stderr, "%s\n", error.text().c_str());
        return 1;
    }
    std::vector<unsigned char> bytes = ccbc::CcbiWriter::write(document);

    // Write beside the target and rename, so a failed run never leaves half a file behind.
    std::string temporary = output + ".tmp";
    {
        std::ofstream out(temporary.c_str(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
        if (!out)
        {
            std::fprintf(stderr, "%s: error: cannot write the file\n", output.c_str());
            std::remove(temporary.c_str());
            return 1;
        }
    }
    if (std::rename(temporary.c_str(), output.c_str()) != 0)
    {
        std::fprintf(stderr, "%s: error: cannot write the file\n", output.c_str());
        std::remove(temporary.c_str());
        return 1;
    }
    return 0;
}
