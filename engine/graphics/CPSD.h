#pragma once

#include "graphics/CGraphicsObject.h"

#include <memory>
#include <vector>

// A layered Photoshop document (version 1, 8 bits per channel, RGB): each layer becomes a
// 24-bit raster of its own (bytes blue, green, red) with a separate alpha plane when the layer
// has a transparency channel, placed at the layer's rectangle and named after the layer. The
// document's merged picture is not read. A damaged or unsupported file leaves no layers and an
// error code.
class CPSD : public CGraphicsObject {
public:
    // One layer: its rectangle in the document, its channels, its name and its raster.
    struct Layer {
        struct Channel {
            int16_t id;
            uint32_t length;
        };
        CXRect rect;
        std::vector<Channel> channels;
        CXString name;
        std::unique_ptr<CGraphicsObject> raster;
    };

    explicit CPSD(GraphicsWindow* window);
    CPSD(GraphicsWindow* window, const CXString& file);
    // Neither takes the other's contents.
    CPSD(GraphicsWindow* window, CGraphicsObject* other);
    CPSD(const CPSD& other);
    ~CPSD() override;

    using CGraphicsObject::Load;
    using CGraphicsObject::SetPosition;
    int Load(const CXString& name) override;
    // From the file's position, replacing the layers of an earlier file; the error code.
    int Load(CFile* file) override;
    // The same from bytes in memory.
    int LoadFromMemory(const char* data, size_t size);

    // An index outside the layers selects nothing.
    void SelectLayer(int index);
    // The first layer of exactly that name; no match leaves the selection as it is.
    void SelectLayer(const CXString& name);
    // Of layer i, or of the selected layer for -1; empty for no such layer.
    CXString GetLayerName(int index);
    CXRect GetLayerRect(int index);
    int GetLayerCount() const { return static_cast<int>(layers_.size()); }
    // -1 when none is selected.
    int GetSelectedLayer() const { return selected_; }
    CGraphicsObject* GetSelectedObject() const { return selectedRaster_; }
    CGraphicsObject* GetLayerObject(int index) const;

    // Moves the object, the selected layer's raster and the selected layer's rectangle.
    void SetPosition(CXPoint p) override;

private:
    // The layer for an index (-1: the selected one), null for none.
    Layer* layerAt(int index) const;
    void clearLayers();
    int fail(int error);

    std::vector<std::unique_ptr<Layer>> layers_;
    int selected_ = -1;
    CGraphicsObject* selectedRaster_ = nullptr;
};
