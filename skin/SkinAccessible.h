// SPDX-License-Identifier: Apache-2.0
#pragma once

// Makes screen readers see the skin's drawn controls for what they are: a picture button as a
// button (its role, its disabled flag, a press action), a picture text as a label. Installed
// once, by the first such control.
void InstallSkinAccessible();
