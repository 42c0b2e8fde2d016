#pragma once

#include <cstdint>

// The view of a WORLD object over a background larger than the screen: it scrolls so that one
// reference body stays at a chosen screen point, within the background's bounds, and gives
// the offsets that turn world coordinates into screen coordinates
// (screen x = offset x + world x, screen y = offset y - world y).
class CWorldBackground {
public:
    static constexpr float SCREEN_WIDTH = 800;
    static constexpr float SCREEN_HEIGHT = 600;
    static constexpr int32_t MOVE_HORIZONTAL = 1;
    static constexpr int32_t MOVE_VERTICAL = 2;

    virtual ~CWorldBackground() = default;

    // Follows the reference body at that world point along the axes the move flags name;
    // where following would show beyond the bounds, the scroll stops at them and the body
    // leaves the centre instead.
    void update(float referenceX, float referenceY);
    void setSize(float minX, float maxX, float minY, float maxY);
    void setMoveFlags(int32_t flags) { moveFlags_ = flags; }
    void setReferenceId(uint32_t id) { referenceId_ = id; }

    uint32_t getReferenceId() const { return referenceId_; }
    float getOffsetX() const { return offsetX_; }
    float getOffsetY() const { return offsetY_; }
    float getScrollX() const { return scrollX_; }
    float getScrollY() const { return scrollY_; }

private:
    float minX_ = 0;
    float maxX_ = SCREEN_WIDTH;
    float minY_ = 0;
    float maxY_ = SCREEN_HEIGHT;
    float centreX_ = SCREEN_WIDTH / 2;
    float centreY_ = SCREEN_HEIGHT / 2;
    float offsetX_ = SCREEN_WIDTH / 2;
    float offsetY_ = SCREEN_HEIGHT / 2;
    float scrollX_ = 0;
    float scrollY_ = 0;
    int32_t moveFlags_ = 0;
    uint32_t referenceId_ = 0;
};
