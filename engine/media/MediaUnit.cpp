#include "media/MediaUnit.h"

MediaUnit* MediaUnit::default_ = nullptr;
