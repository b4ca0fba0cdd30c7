// Image files made in memory for picture tests: the bytes of a stream and of a one-colour PNG.
#pragma once

#include "framework/Classes.h"
#include "framework/Graphics.h"

#include <memory>
#include <vector>

using Bytes = std::vector<Byte>;

// Everything in the stream, from its start.
Bytes StreamBytes(TStream* S);
// A 24-bit bitmap filled with one colour.
std::unique_ptr<TBitmap> SolidBitmap(int W, int H, TColor Fill);
// The PNG file of such a bitmap.
Bytes PngBytes(int W, int H, TColor Fill);
