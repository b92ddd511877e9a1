#pragma once
// The profile record as the settings code knows it. Its layout mirrors the base's fields,
// so it is defined with the wire codecs and only named here.

#include "device/wire/profilerecord.h"
