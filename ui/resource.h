#pragma once

#define IDI_FONTPROBE 1
#define IDB_LOGO 101
