#ifndef VORLEQUIN_SNAKE_H
#define VORLEQUIN_SNAKE_H

#include <cstdint>

class Surface;

// One pixel of the snake, linked both ways around the body's ring.
struct SnakeNode {
    SnakeNode* next;
    SnakeNode* previous;
    int32_t x;
    int32_t y;
};

// A one-pixel-wide snake that crawls one pixel a step along a heading angle, by the
// Bresenham rule, and feels the frame it is drawn on: a step onto anything not black
// makes it grow, and white (on the step's pixel or on either side of it) kills it.
//
// The body is a circular doubly linked list around a sentinel, head first, so that the
// head and the tail are both one link from the sentinel.
class Snake {
public:
    // White as a frame's pixel reads back (RGB565 widened to COLORREF).
    static constexpr unsigned long deadlyColour = 0xF8FCF8;
    // No more nodes than the screen has pixels: a snake that never meets a white pixel
    // (a screen too small for the field's border) moves on without taking more memory.
    static constexpr uint32_t maxLength = 240 * 320;

    Snake();
    ~Snake();
    Snake(const Snake&) = delete;
    Snake& operator=(const Snake&) = delete;

    // One pixel at (x, y) with the heading given, about to grow 100 steps long.
    void reset(int32_t x, int32_t y, float heading);
    // Adds `angle` radians to the heading (towards +y is clockwise on screen).
    void turn(float angle);
    // Moves the head one pixel, reading `surface` as drawn this frame; false when dead.
    bool step(Surface* surface);
    // Every node as a white pixel, or as a pixel of `colour` (COLORREF).
    void draw(Surface* surface);
    void draw(Surface* surface, unsigned long colour);
    // The next `steps` steps keep the tail.
    void grow(int32_t steps);

    // The heading as whole hundredths of its cosine and sine, as steering and stepping
    // use it.
    void getDirection(int32_t& cx, int32_t& cy) const;
    // Null only when a node could not be allocated at the last reset.
    const SnakeNode* getHead() const { return length ? body.next : nullptr; }
    uint32_t getLength() const { return length; }
    float getHeading() const { return heading; }
    int32_t getError() const { return error; }
    int32_t getGrowth() const { return growth; }

private:
    void clear();
    void insertHead(SnakeNode* node);
    SnakeNode* unlinkTail();

    [[maybe_unused]] int32_t reserved;  // the handheld build's unused first word, always 0
    SnakeNode body;    // the sentinel: body.next is the head, body.previous the tail
    uint32_t length;
    float heading;
    int32_t error;
    int32_t growth;
};

#endif
