#include "Snake.h"

#include <Parvolin/Parvolin.h>

#include <cmath>
#include <cstdlib>
#include <new>

namespace {

constexpr unsigned long white = 0xFFFFFF;
constexpr int32_t startGrowth = 100;
constexpr int32_t growthPerColouredPixel = 10;
// What a step reads where the surface has no pixel: neither black (it grows the snake)
// nor white (it does not kill). The field's border stops the snake before it gets there.
constexpr unsigned long noPixel = 0xFFFFFFFF;

unsigned long readPixel(Surface* surface, int32_t x, int32_t y)
{
    unsigned long colour = noPixel;
    if (!surface || x < 0 || y < 0 ||
        surface->getPixel(static_cast<unsigned long>(x), static_cast<unsigned long>(y), &colour) != 0)
        return noPixel;
    return colour;
}

} // namespace

Snake::Snake() : reserved(0), body{&body, &body, 0, 0}, length(0), heading(0.0f), error(0), growth(0) {}

Snake::~Snake() { clear(); }

void Snake::reset(int32_t x, int32_t y, float startHeading)
{
    clear();
    SnakeNode* node = new (std::nothrow) SnakeNode;
    if (node) {
        node->x = x;
        node->y = y;
        insertHead(node);
    }
    heading = startHeading;
    growth = startGrowth;
    turn(0.0f);
}

void Snake::getDirection(int32_t& cx, int32_t& cy) const
{
    // Truncated towards zero, as the step rule expects.
    cx = static_cast<int32_t>(std::cos(static_cast<double>(heading)) * 100.0);
    cy = static_cast<int32_t>(std::sin(static_cast<double>(heading)) * 100.0);
}

void Snake::turn(float angle)
{
    heading = heading + angle;
    int32_t cx = 0, cy = 0;
    getDirection(cx, cy);
    const int32_t ax = std::abs(cx), ay = std::abs(cy);
    error = ax > ay ? ay - (ax >> 1) : ax - (ay >> 1);
}

void Snake::grow(int32_t steps)
{
    // Growth beyond the longest snake there can be changes nothing, so it stops there
    // rather than running out of 32 bits.
    const int64_t total = static_cast<int64_t>(growth) + steps;
    growth = static_cast<int32_t>(total > static_cast<int64_t>(maxLength) ? maxLength : total);
}

bool Snake::step(Surface* surface)
{
    if (!length)
        return true;
    int32_t cx = 0, cy = 0;
    getDirection(cx, cy);
    const int32_t sx = cx < 0 ? -1 : 1, sy = cy < 0 ? -1 : 1;
    const int32_t ax = std::abs(cx), ay = std::abs(cy);
    int32_t x = body.next->x, y = body.next->y;

    SnakeNode* node = nullptr;
    if (growth > 0) {
        --growth;
        if (length < maxLength)
            node = new (std::nothrow) SnakeNode;
    }
    // Not growing (or no memory to grow): the tail becomes the new head.
    if (!node)
        node = unlinkTail();

    int32_t sideX = 0, sideY = 0;
    if (ax > ay) {
        if (error >= 0) {
            y += sy;
            error -= ax;
        }
        error += ay;
        x += sx;
        sideY = 1;
    } else {
        if (error >= 0) {
            x += sx;
            error -= ay;
        }
        error += ax;
        y += sy;
        sideX = 1;
    }
    node->x = x;
    node->y = y;
    insertHead(node);

    const unsigned long here = readPixel(surface, x, y);
    if (here != 0)
        grow(growthPerColouredPixel);
    return here != deadlyColour && readPixel(surface, x - sideX, y - sideY) != deadlyColour &&
           readPixel(surface, x + sideX, y + sideY) != deadlyColour;
}

void Snake::draw(Surface* surface) { draw(surface, white); }

void Snake::draw(Surface* surface, unsigned long colour)
{
    if (!surface)
        return;
    for (SnakeNode* node = body.next; node != &body; node = node->next)
        surface->setPixel(static_cast<unsigned long>(node->x), static_cast<unsigned long>(node->y), colour);
}

void Snake::clear()
{
    while (length)
        delete unlinkTail();
}

void Snake::insertHead(SnakeNode* node)
{
    node->previous = &body;
    node->next = body.next;
    body.next->previous = node;
    body.next = node;
    ++length;
}

SnakeNode* Snake::unlinkTail()
{
    SnakeNode* tail = body.previous;
    tail->previous->next = &body;
    body.previous = tail->previous;
    --length;
    return tail;
}
