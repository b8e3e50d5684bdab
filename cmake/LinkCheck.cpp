// SPDX-License-Identifier: GPL-3.0-or-later
// The link check of a layer (cmake/Layers.cmake): linked with the whole library and only the
// layers it declares, this program exists when every symbol the layer uses is found there.
int main() {
    return 0;
}
