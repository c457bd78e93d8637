// Finds a resource in the bytes of a Windows executable (PE32 or PE32+)
// without the platform's loader: every offset is checked against the image.
#pragma once

#include <optional>
#include <string_view>

// True when the bytes start like an executable ("MZ").
bool LooksLikeExecutable(std::string_view image);

// The bytes of the first language of the resource of string type `type` and
// string name `name` (both compared ignoring ASCII case), pointing into
// image; nothing when the image has no such resource. Raises Exception for
// an image whose headers or resource tree are damaged.
std::optional<std::string_view> FindNamedResource(std::string_view image, std::string_view type, std::string_view name);
