function result = matrix_stats(data, varargin)
% MATRIX_STATS  Column statistics of a numeric matrix, an example of MATLAB.
%   result = matrix_stats(data) returns a struct with the mean, median
%   and standard deviation of each column.
%   result = matrix_stats(data, 'Normalize', true) scales columns first.

%{
  Block comment: everything up to the closing marker is
  a comment, also this 'quote' and "that one".
%}

p = inputParser;
addRequired(p, 'data', @isnumeric);
addParameter(p, 'Normalize', false, @islogical);
parse(p, data, varargin{:});

if isempty(data)
    error('matrix_stats:empty', 'The matrix is empty; nothing to do.');
end

if p.Results.Normalize
    data = (data - mean(data)) ./ std(data);   % implicit expansion
end

result = struct();
result.mean = mean(data, 1);
result.median = median(data, 1);
result.std = std(data, 0, 1);
result.names = "col" + string(1:size(data, 2));

% A quote doubled inside a character vector stays in it.
label = 'it''s done';
msg = sprintf('%d columns, %d rows: %s\n', size(data, 2), ...
              size(data, 1), label);   % continued line
fprintf(msg);

for k = 1:numel(result.mean)
    switch sign(result.mean(k))
        case -1
            fprintf('column %d is negative\n', k);
        case 0
            fprintf('column %d is zero\n', k);
        otherwise
            fprintf('column %d: %.3f\n', k, result.mean(k));
    end
end

t = data';   # Octave comment; the transpose above is no string
while false
    disp(t);
end
end
