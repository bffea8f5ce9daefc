// spritemaker: our sprite sheets and images, drawn from readable descriptions.
//
// usage:
//   spritemaker fighter <fighter.txt> <out dir>   sheet <sheet>.png/.plist and actor list <fighter>.plist
//   spritemaker images <recipes.txt> <out dir>    one PNG per recipe image
//   spritemaker pack [--rotate] <sheet> <out dir> <png>...
//                                                 a sheet of loose images (frame name = file name);
//                                                 --rotate stores tall frames turned a quarter
#include "FighterDrawing.h"
#include "FighterFile.h"
#include "ImageRecipes.h"
#include "PngFile.h"
#include "SheetPacker.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace vorntool;

namespace
{
int usage()
{
    fprintf(stderr, "usage: spritemaker fighter <fighter.txt> <out dir>\n"
                    "       spritemaker images <recipes.txt> <out dir>\n"
                    "       spritemaker pack [--rotate] <sheet> <out dir> <png>...\n");
    return 2;
}

int makeFighter(const std::string& path, const std::string& dir)
{
    Fighter f;
    if (!loadFighter(path, f))
        return 1;
    std::vector<SheetFrame> frames;
    for (const Action& a : f.actions)
    {
        if (a.frames.empty())
        {
            fprintf(stderr, "ERROR: %s: action %s has no frames\n", path.c_str(), a.name.c_str());
            return 1;
        }
        for (size_t i = 0; i < a.frames.size(); ++i)
        {
            Pose pose;
            SheetFrame sf;
            sf.name = frameName(f, a, i);
            if (!resolvePose(f, a.frames[i], pose) || !drawFighter(f, pose, sf.image))
            {
                fprintf(stderr, "ERROR: %s: can't draw %s\n", path.c_str(), sf.name.c_str());
                return 1;
            }
            frames.push_back(sf);
        }
    }
    if (!packSheet(frames, dir, f.sheet))
        return 1;
    return writeTextFile(dir + "/" + f.name + ".plist", actorList(f).document()) ? 0 : 1;
}

int packLoose(const std::string& sheet, const std::string& dir, int count, char** files, bool rotate)
{
    std::vector<SheetFrame> frames;
    for (int i = 0; i < count; ++i)
    {
        SheetFrame sf;
        std::string file = files[i];
        size_t slash = file.rfind('/');
        sf.name = slash == std::string::npos ? file : file.substr(slash + 1);
        if (!readPng(file, sf.image))
            return 1;
        frames.push_back(sf);
    }
    return packSheet(frames, dir, sheet, rotate) ? 0 : 1;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return usage();
    const std::string mode = argv[1];
    if (mode == "fighter" && argc == 4)
        return makeFighter(argv[2], argv[3]);
    if (mode == "images" && argc == 4)
        return drawImageRecipes(argv[2], argv[3]) ? 0 : 1;
    if (mode == "pack" && argc >= 6 && std::string(argv[2]) == "--rotate")
        return packLoose(argv[3], argv[4], argc - 5, argv + 5, true);
    if (mode == "pack" && argc >= 5)
        return packLoose(argv[2], argv[3], argc - 4, argv + 4, false);
    return usage();
}
