#pragma once

// How the picture dialog orders a folder: by name, or newest first as a
// phone's gallery does.
enum class PictureOrder { ByName, NewestFirst };
