! sample.f90: the heat equation on a rod, an example of modern Fortran.
module heat_mod
  use, intrinsic :: iso_fortran_env, only: real64, output_unit
  implicit none
  private
  public :: rod_t, init_rod, step, total_heat

  type :: rod_t
    real(real64), allocatable :: t(:)
    real(real64) :: alpha = 0.1_real64
  end type rod_t

contains

  subroutine init_rod(rod, n, hot)
    type(rod_t), intent(out) :: rod
    integer, intent(in) :: n
    real(real64), intent(in) :: hot
    allocate(rod%t(n))
    rod%t = 0.0_real64
    rod%t(n / 2) = hot        ! a hot spot in the middle
  end subroutine init_rod

  pure function total_heat(rod) result(q)
    type(rod_t), intent(in) :: rod
    real(real64) :: q
    q = sum(rod%t)
  end function total_heat

  subroutine step(rod)
    type(rod_t), intent(inout) :: rod
    real(real64), allocatable :: next(:)
    integer :: i
    next = rod%t
    do i = 2, size(rod%t) - 1
      next(i) = rod%t(i) + rod%alpha * (rod%t(i-1) - 2*rod%t(i) + rod%t(i+1))
    end do
    call move_alloc(next, rod%t)
  end subroutine step

end module heat_mod

program heat
  use heat_mod
  implicit none
  type(rod_t) :: rod
  integer :: k

  call init_rod(rod, 50, 100.0d0)
  do k = 1, 200
    call step(rod)
    if (mod(k, 50) == 0 .and. total_heat(rod) > 0.0d0) then
      write(*, '(a, i4, a, f10.4)') 'step ', k, ' heat ', total_heat(rod)
    end if
  end do
  print *, "it's done: ""quoted"" text"
end program heat
