#pragma once

class CCollisionObserver;
class CGraphicsObject;

// A scene as its pictures reach it: it watches their collisions. Scenes live in the
// application's folder, above every folder that calls them; each folder on the way up adds
// what it needs, and the scene implements them all.
class GraphicsScene {
public:
    virtual void monitorCollisions(CGraphicsObject* object, bool alphaTest, CCollisionObserver* observer) = 0;
    virtual void removeMonitorCollisions(CGraphicsObject* object, CCollisionObserver* observer) = 0;

protected:
    GraphicsScene() = default;
    GraphicsScene(const GraphicsScene&) = delete;
    GraphicsScene& operator=(const GraphicsScene&) = delete;
    virtual ~GraphicsScene() = default;
};
