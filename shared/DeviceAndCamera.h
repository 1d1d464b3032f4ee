// The device every draw goes through and the camera: one of each per program. Each program
// starts its device its own way (the game full screen in two video modes, the editor in its
// viewport) and points gD3DDevice at it; tests point it at a fake.
#pragma once
#include "platform/Device.h"

extern d3d::Device* gD3DDevice;  // owned by the program's device set-up
extern d3d::Vector3 gCameraEye;
extern d3d::Vector3 gCameraLookAt;
extern d3d::Matrix gMatWorld;
extern d3d::Matrix gMatView;
extern d3d::Matrix gMatProj;
// The size in pixels of what is drawn into, for pictures that fill it.
extern float gScreenWidthF;
extern float gScreenHeightF;
