#include "shared/DeviceAndCamera.h"

d3d::Device* gD3DDevice = nullptr;
d3d::Vector3 gCameraEye;
d3d::Vector3 gCameraLookAt;
d3d::Matrix gMatWorld;
d3d::Matrix gMatView;
d3d::Matrix gMatProj;
float gScreenWidthF = 0;
float gScreenHeightF = 0;
