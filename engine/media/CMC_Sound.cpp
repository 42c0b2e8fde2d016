#include "media/CMC_Sound.h"

CMC_Sound::CMC_Sound(CMC_ObjectsContainer*)
    : CMC_Object("temp", kType)
{
}
