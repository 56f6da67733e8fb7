// The hand-off's yardstick: a Windows program that starts, asks user32 one thing and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return GetSystemMetrics(SM_CXSCREEN) < 0; }
