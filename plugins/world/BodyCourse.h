#pragma once

#include "PathPoint.h"

#include <cstdint>
#include <optional>
#include <vector>

// Points a body goes along, and the one it goes to next.
struct PointList {
    std::vector<PathPoint> points;
    size_t next = 0;

    bool finished() const { return next >= points.size(); }
    // From a position to the next point, then along the remaining points.
    float distanceLeft(const PathPoint& from) const;
};

// What a body is told to steer to: a point or one of its lists.
struct SteeringOrder {
    enum class Along { Point, PathPoints, Route, FoundPath };

    Along along = Along::Point;
    PathPoint point; // where Along::Point goes
    float speed = 0;
    float arrivalRadius = 0;
    float slowRadius = 0; // 0: full speed up to the point
    bool loop = false;    // lists only: after the last point comes the first
};

// A body's lists of points, its steering order and the reports on its found path. The
// world asks it, once per sub-step, which velocity the body should have.
class BodyCourse {
public:
    // Closer than this to a point is there, whatever the order's radius.
    static constexpr float ARRIVAL_SLACK = 0.05f;

    enum class Progress { NoOrder, Going, Arrived };

    PointList& pathPoints() { return pathPoints_; }
    PointList& route() { return route_; }
    const PointList& foundPath() const { return foundPath_; }

    // A new found path (none: no way exists, which is reported once).
    void setFoundPath(std::optional<std::vector<PathPoint>> points);
    // The report since the last question (ITolvan GOAL_*), then none.
    uint32_t takeGoalReport();

    // Replaces the order; the lists keep where they were. An order along a list with no
    // point left is not taken (the old one ends all the same).
    void steer(const SteeringOrder& order);
    void endOrder() { order_.reset(); }
    void setSteeringRuns(bool runs) { steeringRuns_ = runs; }

    // Takes every point the body is within reach of. Arrived once the order is done; the
    // order then ends (the caller stops the body).
    Progress advance(const PathPoint& position);
    // The velocity that takes the body towards its next point during one sub-step of
    // `seconds`, no faster than maxSpeed (0: no limit); none without a running order.
    std::optional<PathPoint> velocity(const PathPoint& position, float maxSpeed, float seconds) const;
    // Along the order from a position; 0 without an order.
    float distanceLeft(const PathPoint& position) const;

private:
    const PointList* listOf(SteeringOrder::Along along) const;
    PointList* listOf(SteeringOrder::Along along);
    // Where the order goes next; none once it is done.
    std::optional<PathPoint> nextPoint() const;

    PointList pathPoints_;
    PointList route_;
    PointList foundPath_;
    std::optional<SteeringOrder> order_;
    bool steeringRuns_ = true;
    uint32_t goalReport_ = 0;
};
