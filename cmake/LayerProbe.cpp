// The probe that links one layer, whole, with only the layers below it (cmake/Layers.cmake). It is
// built, never run: the link itself is the check.
int main() {
    return 0;
}
