"""The refusal the text layer answers with, as a Python exception."""


class RefusedError(ValueError):
    """The input or the options were refused: the message is the command's
    words; line and column (from 1, the column in characters) give the place in
    the input, 0 when there is none. For rows given as Python objects the line
    is the row and the column the cell, both from 1."""

    def __init__(self, message: str, kind: str, line: int, column: int) -> None:
        super().__init__(message)
        self.message = message
        self.kind = kind
        self.line = line
        self.column = column
