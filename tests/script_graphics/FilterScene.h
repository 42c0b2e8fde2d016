#pragma once

#include "graphics/CImage.h"
#include "script_graphics/CMC_Image.h"

#include "PictureScene.h"

#include <string>
#include <vector>

// The picture scene with filters in it. Besides its fixtures, "grad.img": an 8 × 6 picture whose
// pixel (x, y) is 0x0841 × (x + 8y) (so no two are alike), opaque but for its first column.
class FilterScene : public PictureScene {
protected:
    FilterScene()
    {
        std::vector<uint16_t> words(48);
        std::vector<uint8_t> alpha(48, 255);
        for (int i = 0; i < 48; ++i) {
            words[static_cast<size_t>(i)] = static_cast<uint16_t>(0x0841 * i);
            if (i % 8 == 0)
                alpha[static_cast<size_t>(i)] = 0;
        }
        makeRaster(8, 6, 16, words, alpha)->Save(CXString(headless.folder().file("grad.img").c_str()), COMPRESSION_NONE);
    }

    // An IMAGE of the file on the screen, shown.
    static std::string image(const std::string& name, const char* file)
    {
        return "OBJECT=" + name + "\n" + name + ":TYPE=IMAGE\n" + name + ":FILENAME=" + file + "\n" + name
               + ":TOCANVAS=TRUE\n" + name + ":VISIBLE=TRUE\n" + name + ":PRIORITY=5\n";
    }
    // An object of the filter type with that ACTION.
    static std::string filter(const std::string& name, const char* type, const char* action)
    {
        return "OBJECT=" + name + "\n" + name + ":TYPE=" + type + "\n" + name + ":ACTION=" + action + "\n";
    }
    CImage* picture(const char* name) { return object<CMC_Image>(name)->getImage(); }
    std::vector<uint16_t> words(const char* name) { return wordsOf(*picture(name)); }
    // Takes the object out of the scene and deletes it, as a scene's end does.
    void destroy(const char* name)
    {
        CMC_Object* gone = scene->getObject(name);
        scene->removeObject(gone);
        gone->done(false);
        delete gone;
    }
};
