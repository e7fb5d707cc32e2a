// Minimal pair for checking the device from tests: positions are clip coordinates.
out vec4 vColor;

void main() {
    SetClipPosition(InPosition);
    vColor = InColor;
}
