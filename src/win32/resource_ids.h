#pragma once

// Resource numbers shared by tavrin.rc and the code; plain defines so that
// the resource compiler can read them.
#define TAVRIN_ICON_ID 1
