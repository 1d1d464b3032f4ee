# The platform's unit tests write their test pictures with the asset kit.
target_link_libraries(velorune_tests PRIVATE assetkit)
