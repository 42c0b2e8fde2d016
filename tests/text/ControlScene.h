#pragma once

#include "app/ScriptTypes.h"
#include "graphics/CImage.h"
#include "script_graphics/CMC_Image.h"

#include "tests/graphics/RasterMaker.h"
#include "tests/script_graphics/PictureScene.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

// The picture scene with every script type: pictures and sounds are made to order, and the
// pointer is moved, pressed and released frame by frame.
class ControlScene : public PictureScene {
protected:
    ControlScene()
    {
        registerScriptTypes();
        CMC_RunnerFactory::initialize();
    }

    // An opaque picture file of one colour word at (x, y).
    void picture(const std::string& file, int x, int y, int width, int height, uint16_t word = 0x1234)
    {
        auto raster = makeFilled(width, height, 16, word);
        raster->SetPosition(x, y);
        raster->Save(CXString(headless.folder().file(file).c_str()), COMPRESSION_NONE);
    }
    // A second of a tone, made by sox.
    void sound(const std::string& file)
    {
        const std::string command = "sox -n -r 22050 -b 16 -c 1 '" + headless.folder().file(file) + "' synth 1 sine 440";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    // The definition of an IMAGE of the file, on the screen at the priority.
    static std::string image(const std::string& name, const std::string& file, int priority = 0)
    {
        return "OBJECT=" + name + "\n" + name + ":TYPE=IMAGE\n" + name + ":FILENAME=" + file + "\n" + name +
               ":TOCANVAS=TRUE\n" + name + ":VISIBLE=TRUE\n" + name + ":PRIORITY=" + std::to_string(priority) + "\n";
    }
    // The object's properties, "NAME:KEY=VALUE" each.
    static std::string properties(const std::string& name, const std::string& type, const std::vector<std::string>& lines)
    {
        std::string text = "OBJECT=" + name + "\n" + name + ":TYPE=" + type + "\n";
        for (const std::string& line : lines)
            text += name + ":" + line + "\n";
        return text;
    }

    // A behaviour of the scene that logs its name.
    void logger(const std::string& name) { scene->addObject(new LoggedBehaviour(scene.get(), name.c_str(), &log)); }

    void pointTo(int x, int y) { frame(10, {platform::Event::mouseMove({x, y})}); }
    // The pointer goes to the point and presses and releases the left button there.
    void clickAt(int x, int y)
    {
        pointTo(x, y);
        press(x, y);
        release(x, y);
    }

    // The picture of the IMAGE as the screen sees it.
    CGraphicsObject* imageOf(const char* name) { return object<CMC_Image>(name)->getImage(); }
    // Which of the IMAGEs are visible, in the order given.
    std::string shown(std::initializer_list<const char*> names)
    {
        std::string visible;
        for (const char* name : names)
            if (imageOf(name)->isVisible())
                visible += std::string(visible.empty() ? "" : " ") + name;
        return visible;
    }
};
