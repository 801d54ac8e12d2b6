// The shared library is the static core linked whole; its Cam_* functions carry default
// visibility and everything else stays hidden.
