#include "editor/ojx_ShapeScope2d.h"

namespace my
{
ShapeScope2d::ShapeScope2d (ShapeProcessor* slot) : shapeProcessor (slot) {}

ShapeScope2d::~ShapeScope2d() = default;

void ShapeScope2d::paint (juce::Graphics&) {}
} // namespace my
