#include "BodyCourse.h"

#include "ITolvan.h"

#include <algorithm>
#include <utility>

float PointList::distanceLeft(const PathPoint& from) const
{
    float distance = 0;
    PathPoint at = from;
    for (size_t index = next; index < points.size(); ++index) {
        distance += distanceBetween(at, points[index]);
        at = points[index];
    }
    return distance;
}

void BodyCourse::setFoundPath(std::optional<std::vector<PathPoint>> points)
{
    goalReport_ = points ? ITolvan::GOAL_NONE : ITolvan::GOAL_NO_PATH;
    foundPath_ = PointList{points.value_or(std::vector<PathPoint>{}), 0};
    if (order_ && order_->along == SteeringOrder::Along::FoundPath)
        order_.reset();
}

uint32_t BodyCourse::takeGoalReport()
{
    return std::exchange(goalReport_, ITolvan::GOAL_NONE);
}

void BodyCourse::steer(const SteeringOrder& order)
{
    const PointList* list = listOf(order.along);
    if (list && list->finished())
        order_.reset();
    else
        order_ = order;
}

const PointList* BodyCourse::listOf(SteeringOrder::Along along) const
{
    switch (along) {
    case SteeringOrder::Along::PathPoints:
        return &pathPoints_;
    case SteeringOrder::Along::Route:
        return &route_;
    case SteeringOrder::Along::FoundPath:
        return &foundPath_;
    case SteeringOrder::Along::Point:
        break;
    }
    return nullptr;
}

PointList* BodyCourse::listOf(SteeringOrder::Along along)
{
    return const_cast<PointList*>(std::as_const(*this).listOf(along));
}

std::optional<PathPoint> BodyCourse::nextPoint() const
{
    if (!order_)
        return std::nullopt;
    const PointList* list = listOf(order_->along);
    if (!list)
        return order_->point;
    if (list->finished())
        return std::nullopt;
    return list->points[list->next];
}

BodyCourse::Progress BodyCourse::advance(const PathPoint& position)
{
    if (!order_)
        return Progress::NoOrder;
    const float reach = std::max(order_->arrivalRadius, ARRIVAL_SLACK);
    bool done = false;
    if (PointList* list = listOf(order_->along)) {
        // A looping list whose points are all within reach goes round once, not for ever.
        for (size_t taken = 0; !list->finished() && taken <= list->points.size(); ++taken) {
            if (distanceBetween(position, list->points[list->next]) > reach)
                break;
            ++list->next;
            if (list->finished() && order_->loop)
                list->next = 0;
        }
        done = list->finished();
    } else {
        done = distanceBetween(position, order_->point) <= reach;
    }
    if (!done)
        return Progress::Going;
    if (order_->along == SteeringOrder::Along::FoundPath)
        goalReport_ = ITolvan::GOAL_REACHED;
    order_.reset();
    return Progress::Arrived;
}

std::optional<PathPoint> BodyCourse::velocity(const PathPoint& position, float maxSpeed, float seconds) const
{
    if (!steeringRuns_)
        return std::nullopt;
    const std::optional<PathPoint> target = nextPoint();
    if (!target)
        return std::nullopt;
    const float distance = distanceBetween(position, *target);
    if (distance == 0)
        return PathPoint{};
    float speed = order_->speed;
    if (maxSpeed > 0)
        speed = std::min(speed, maxSpeed);
    if (order_->slowRadius > 0 && distance < order_->slowRadius)
        speed *= distance / order_->slowRadius;
    speed = std::min(speed, distance / seconds);
    const float scale = speed / distance;
    return PathPoint{(target->x - position.x) * scale, (target->y - position.y) * scale};
}

float BodyCourse::distanceLeft(const PathPoint& position) const
{
    if (!order_)
        return 0;
    if (const PointList* list = listOf(order_->along))
        return list->distanceLeft(position);
    return distanceBetween(position, order_->point);
}
