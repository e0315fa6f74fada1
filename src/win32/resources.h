// Resource numbers, shared by the resource scripts and the code.
#pragma once

// Ferry's icon, in 16, 32, 48 and 256 pixels. The lowest number, so that
// Explorer shows it for the file.
#define IDI_FERRY 1
