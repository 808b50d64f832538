// Program entry; the SDL window and frame loop are being wired up.
int main() { return 0; }
