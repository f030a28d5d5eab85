# What a screen reader announces, checked on offscreen widgets.
pivolo_add_widget_suite(test_accessible_names TestAccessibleNames.cpp)
